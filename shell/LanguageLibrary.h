// The language resource library of a programmer: a Qt binary resource file
// beside the program ("ChineseWrenV3.rcc": the current language, then the
// programmer's name) holding the translations of the menus, dialogs,
// messages and toolbar tips under the same texts as the program's own
// English resources. Loaded once at start-up and kept while the application
// lives; with it come Qt's own translations of the same language (standard
// buttons, file and print dialogs).
#pragma once

#include <QString>

#include <memory>
#include <string>
#include <vector>

class QTranslator;

namespace radio {

class CLanguageLibrary {
public:
    CLanguageLibrary();
    ~CLanguageLibrary();
    CLanguageLibrary(const CLanguageLibrary&) = delete;
    CLanguageLibrary& operator=(const CLanguageLibrary&) = delete;

    // The file name of the library: `language` followed by `suffix` (the
    // programmer's name) and the resource suffix.
    static std::string FileName(const std::string& language, const std::string& suffix);

    // Registers the file and installs its translations. False, with
    // nothing loaded, when the file is missing or holds no translations.
    bool Load(const std::string& path);
    bool IsLoaded() const { return !m_path.isEmpty(); }
    // The language of the loaded translations ("zh_CN", "en"); "" before.
    QString Language() const;

private:
    void Unload();

    QString m_path;
    std::vector<std::unique_ptr<QTranslator>> m_translators;
};

} // namespace radio
