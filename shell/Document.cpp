#include "Document.h"

#include "AppContext.h"

#include <filesystem>

CProgrammerDoc::CProgrammerDoc(radio::CAppContext& app)
    : m_image(radio::MakeDefaultImage(app.variant)), m_app(app), m_variant(app.variant) {}

bool CProgrammerDoc::OnNewDocument() {
    radio::CAppContext& app = m_app;
    m_image = radio::MakeDefaultImage(m_variant);
    m_strTitle = std::string(radio::texts::kChannelInformation.In(app.language.textLanguage));
    m_strPathName = app.ProfileText("Setup", "AppName");
    m_bHasFile = false;
    m_nFileLength = 0;
    SetModifiedFlag(false);
    app.freshDocument = true;
    return true;
}

bool CProgrammerDoc::OnOpenDocument(const std::string& path, std::string& error) {
    if (!radio::LoadDat(m_variant, path, m_image, error)) {
        return false;
    }
    SetFile(path);
    std::error_code ec;
    m_nFileLength = std::filesystem::file_size(path, ec);
    if (ec) {
        m_nFileLength = m_image.size();
    }
    SetModifiedFlag(false);
    return true;
}

bool CProgrammerDoc::OnSaveDocument(const std::string& path, std::string& error) {
    if (m_pView != nullptr) {
        m_pView->GridToImage();
    }
    if (!radio::StoreDat(path, m_image, error)) {
        return false;
    }
    SetFile(path);
    m_nFileLength = m_image.size();
    SetModifiedFlag(false);
    return true;
}

void CProgrammerDoc::SetModifiedFlag(bool modified) {
    if (m_bModified == modified) {
        return;
    }
    m_bModified = modified;
    if (m_onModified) {
        m_onModified();
    }
}

void CProgrammerDoc::SetFile(const std::string& path) {
    m_strPathName = path;
    m_strTitle = std::filesystem::path(path).filename().string();
    m_bHasFile = true;
}

std::unique_ptr<CProgrammerDoc> CreateDocument(radio::CAppContext& app) {
    if (app.variant.family == radio::Family::Lark) {
        return std::make_unique<CApp_LarkDoc>(app);
    }
    return std::make_unique<CApp_WrenDoc>(app);
}
