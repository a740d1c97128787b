// The profile text file store shared by all programs.
//
// A profile is a small text file of "[Section]" headers and "Key=Value"
// lines. The whole file is loaded into memory, lookups are answered from
// memory, changes are recorded in memory and the whole file is written back.
// Values are kept as the bytes found in the file (GBK or UTF-8); nothing is
// converted here.
//
// The loader is deliberately forgiving and lossy: blank lines and comment
// lines are dropped and do not come back on Save; duplicate sections and keys
// stay separate entries; lookups find the first section and the last key of a
// name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace radio {

// Where a program's profile lives. Beside the program, as a rule; when the
// program's folder takes no changes (a suite installed for all users), the
// user's changes go to a copy of the profile in the user's configuration
// folder, which is read instead from then on.
struct ProfilePlaces {
    bool programDirectoryWritable = true;
    std::string userDirectory; // "" when the user has none

    // This machine's: the program folder's write access, and the XDG
    // configuration folder ($XDG_CONFIG_HOME, else ~/.config) of the suite.
    static ProfilePlaces For(const std::string& programDirectory);
};

// The user's data folder of the suite ($XDG_DATA_HOME, else ~/.local/share,
// followed by "radio-clone-suite"; %LOCALAPPDATA% on Windows); "" when the
// user has none.
std::string SuiteDataDirectory();
// Where a write's backups go unless the user chooses another folder: the
// "backups" folder in SuiteDataDirectory(); "" when there is none.
std::string DefaultBackupFolder();

class CIniFile {
public:
    CIniFile() = default;
    // Writes the file if anything was changed, then frees everything.
    ~CIniFile();
    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    // The directory part of a program's command-line name (argv[0] up to its
    // last path separator), or the current directory when it has none.
    static std::string ProgramDirectoryOf(const std::string& argv0);

    // Open() of `fileName` in ProgramDirectoryOf(argv0): the file beside the
    // program.
    // In a folder that takes no changes, the user's copy (see ProfilePlaces).
    bool OpenInProgramDir(const std::string& argv0, const std::string& fileName);
    bool OpenInProgramDir(const std::string& argv0, const std::string& fileName,
                          const ProfilePlaces& places);
    // Loads the file at `path`, creating it empty when it does not exist.
    // Saves and clears a file loaded before. False, with nothing loaded, when
    // the file cannot be opened or read.
    bool Open(const std::string& path);

    // The value of the last key `key` in the first section `section`, with
    // trailing comments cut ("//", "\t;", "/*"); `def` when either is missing.
    std::string GetValue(std::string_view section, std::string_view key,
                         std::string_view def) const;
    // Changes memory only; ignored when no file is loaded.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    // Writes the whole file when anything was changed since it was loaded
    // (the modified mark stays set, so a later Save writes again), through
    // the atomic writer; in a folder that takes no new file, in place.
    void Save();
    // Frees everything without saving.
    void Clear();

    // True when the last Save that had something to write could not write it.
    bool LastSaveFailed() const { return m_bLastSaveFailed; }
    // Full path of the loaded file; empty when nothing is loaded.
    const std::string& Path() const { return m_strPath; }

private:
    int FindSection(std::string_view section) const;
    int AddSection(std::string_view section);
    std::string Serialize() const;

    std::string m_strPath;
    // Where Save writes when that is not m_strPath: the user's copy of a
    // profile read from a folder that takes no changes.
    std::string m_strSavePath;
    std::vector<std::string> m_arrSections;
    // One key list and one value list per section, parallel to each other.
    std::vector<std::vector<std::string>> m_ppKeys;
    std::vector<std::vector<std::string>> m_ppValues;
    int m_nLastSection = 0;
    bool m_bModified = false;
    bool m_bLastSaveFailed = false;
};

} // namespace radio
