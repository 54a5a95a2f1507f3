#include "shell/frame/LanguageSwitch.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

namespace shell {

LanguageSwitch::LanguageSwitch() = default;

LanguageSwitch::~LanguageSwitch()
{
    removeEnglish();
}

bool LanguageSwitch::apply(const QString& setting)
{
    const QString code = setting.trimmed().toUpper();
    if (code == QLatin1String("EN") && current_ != Language::English) {
        installEnglish();
        current_ = Language::English;
        return true;
    }
    if (code == QLatin1String("PL") && current_ != Language::Polish) {
        removeEnglish();
        current_ = Language::Polish;
        return true;
    }
    return false;
}

void LanguageSwitch::installEnglish()
{
    const QDir resources(QStringLiteral(":/i18n"));
    const QStringList files = resources.entryList({QStringLiteral("*_en.qm")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        auto translator = std::make_shared<QTranslator>();
        if (translator->load(resources.filePath(file))) {
            QCoreApplication::installTranslator(translator.get());
            translators_ << translator;
        } else {
            qWarning("English texts %s could not be loaded", qPrintable(file));
        }
    }
}

void LanguageSwitch::removeEnglish()
{
    for (const auto& translator : translators_)
        QCoreApplication::removeTranslator(translator.get());
    translators_.clear();
}

} // namespace shell
