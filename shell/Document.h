#pragma once

// The document: one radio memory image, created with factory defaults or
// loaded from a .dat file (exactly the image bytes), and saved back
// atomically after the grid's texts have been brought into it.

#include "ChannelView.h"
#include "MemoryImage.h"
#include "Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace radio {
class CAppContext;
}

class CProgrammerDoc : public IChannelDocument {
public:
    explicit CProgrammerDoc(radio::CAppContext& app);

    radio::Image& GetImage() override { return m_image; }
    // Changes since the document was created, opened or saved.
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified) override;
    // Called whenever the modified mark changes (the window shows it).
    void SetModifiedListener(std::function<void()> listener) { m_onModified = std::move(listener); }
    const radio::ModelVariant& Variant() const { return m_variant; }

    // The default image, the title "Channel Information", the profile's
    // "AppName" as proposed file name; sets the fresh-document flag.
    bool OnNewDocument();
    // Loads the file; a file shorter than the image is refused and the
    // image stays as it was. The caller clears the fresh-document flag once
    // the new document has replaced the shown one.
    bool OnOpenDocument(const std::string& path, std::string& error);
    // GridToImage of the view, then the image to the file (all or nothing);
    // clears the modified mark.
    bool OnSaveDocument(const std::string& path, std::string& error);

    void SetView(CChannelView* view) { m_pView = view; }
    CChannelView* GetView() const { return m_pView; }

    const std::string& GetTitle() const { return m_strTitle; }
    const std::string& GetPathName() const { return m_strPathName; }
    // True once the document was opened from or saved to a file.
    bool HasFile() const { return m_bHasFile; }
    // The length of the file at GetPathName() as it was opened or last
    // saved; it exceeds the image when a longer file was opened.
    std::uintmax_t FileLength() const { return m_nFileLength; }

    radio::Image m_image;

private:
    void SetFile(const std::string& path);

    radio::CAppContext& m_app;
    const radio::ModelVariant& m_variant;
    CChannelView* m_pView = nullptr;
    std::string m_strTitle;
    std::string m_strPathName;
    bool m_bHasFile = false;
    bool m_bModified = false;
    std::uintmax_t m_nFileLength = 0;
    std::function<void()> m_onModified;
};

// The document's names in the two program families.
class CApp_LarkDoc : public CProgrammerDoc {
public:
    using CProgrammerDoc::CProgrammerDoc;
};

class CApp_WrenDoc : public CProgrammerDoc {
public:
    using CProgrammerDoc::CProgrammerDoc;
};

// The document class of the variant's family.
std::unique_ptr<CProgrammerDoc> CreateDocument(radio::CAppContext& app);
