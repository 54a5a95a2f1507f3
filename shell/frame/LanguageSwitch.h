#pragma once
// Switches the program's texts between Polish (the texts written in the code) and English (the
// translations compiled into the program). Every library of the program puts its English
// translation into the resources under ":/i18n/" with a name ending in "_en.qm"; all of them are
// installed together, so one switch serves every window.

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class QTranslator;

namespace shell {

class LanguageSwitch {
public:
    enum class Language { Polish, English };

    LanguageSwitch();
    ~LanguageSwitch();

    // Takes the language setting ("PL", "EN", any case, trailing spaces ignored): "EN" installs
    // the English texts, "PL" removes them, any other value changes nothing. Returns true when the
    // texts changed (every widget then receives a LanguageChange event).
    bool apply(const QString& setting);

    Language current() const { return current_; }
    // How many English translation files were found and installed on the last switch to English.
    int installedCount() const { return int(translators_.size()); }

private:
    void installEnglish();
    void removeEnglish();

    Language current_ = Language::Polish;
    QList<std::shared_ptr<QTranslator>> translators_;
};

} // namespace shell
