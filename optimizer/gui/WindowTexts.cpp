#include "optimizer/gui/WindowTexts.h"

namespace kadrel {

WindowTexts::WindowTexts(bool english)
{
    if (english) {
        english_ = translator_.load(QStringLiteral(":/i18n/kadrel_window_en.qm"));
        if (!english_)
            qWarning("English texts of the optimizer window could not be loaded");
    }
}

QString WindowTexts::operator()(const text::Id& id) const
{
    if (english_) {
        const QString translated = translator_.translate("OptimizerWindow", id.source, id.name);
        if (!translated.isEmpty())
            return translated;
    }
    return QString::fromUtf8(id.source);
}

} // namespace kadrel
