#include "LanguageLibrary.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QResource>
#include <QTranslator>

namespace radio {

namespace {

// Where the library puts its translations.
const char kTranslations[] = ":/language/programmer.qm";

} // namespace

CLanguageLibrary::CLanguageLibrary() = default;

CLanguageLibrary::~CLanguageLibrary() {
    Unload();
}

std::string CLanguageLibrary::FileName(const std::string& language, const std::string& suffix) {
    return language + suffix + ".rcc";
}

bool CLanguageLibrary::Load(const std::string& path) {
    Unload();
    const QString file = QString::fromStdString(path);
    if (!QResource::registerResource(file)) {
        return false;
    }
    auto own = std::make_unique<QTranslator>();
    if (!own->load(QString::fromLatin1(kTranslations))) {
        QResource::unregisterResource(file);
        return false;
    }
    m_path = file;
    // Qt's own texts in the same language, where Qt ships them.
    const QString language = own->language();
    QCoreApplication::installTranslator(own.get());
    m_translators.push_back(std::move(own));
    if (!language.isEmpty() && !language.startsWith(QLatin1String("en"))) {
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QStringLiteral("qtbase_") + language,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            m_translators.push_back(std::move(qt));
        }
    }
    return true;
}

QString CLanguageLibrary::Language() const {
    return m_translators.empty() ? QString() : m_translators.front()->language();
}

void CLanguageLibrary::Unload() {
    for (const std::unique_ptr<QTranslator>& translator : m_translators) {
        QCoreApplication::removeTranslator(translator.get());
    }
    m_translators.clear();
    if (!m_path.isEmpty()) {
        QResource::unregisterResource(m_path);
        m_path.clear();
    }
}

} // namespace radio
