#include "optimizer/gui/WindowTexts.h"

namespace kadrel {

WindowTexts::WindowTexts(bool english)
{
    setEnglish(english);
}

void WindowTexts::setEnglish(bool english)
{
    if (translator_ && english == english_)
        return;
    translator_ = std::make_unique<QTranslator>();
    english_ = english && translator_->load(QStringLiteral(":/i18n/kadrel_window_en.qm"));
    if (english && !english_)
        qWarning("English texts of the optimizer window could not be loaded");
}

QString WindowTexts::operator()(const text::Id& id) const
{
    if (english_) {
        const QString translated = translator_->translate("OptimizerWindow", id.source, id.name);
        if (!translated.isEmpty())
            return translated;
    }
    return QString::fromUtf8(id.source);
}

} // namespace kadrel
