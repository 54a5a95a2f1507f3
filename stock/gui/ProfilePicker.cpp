#include "stock/gui/ProfilePicker.h"

#include "global/Table.h"
#include "stock/StockLengths.h"
#include "ui/layout/WindowPlacement.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

using global::ProfileLengthRecord;
using global::ProfileRecord;

namespace stock {

QList<ui::KeyRange<ProfileRecord>> pickerProfileRanges(ProfileTotalsCache& totals)
{
    ProfileTotalsCache* cache = &totals;
    using Profiles = global::Table<ProfileRecord>;
    return {{Profiles::ByCode, {}, 0, [](const ProfileRecord& r) { return r.status != 1; }},
            {Profiles::ByCode, {}, 0, {}},
            {Profiles::ByCode, {}, 0, [cache](const ProfileRecord& r) {
                 return cache->hasPieces(r.id, 0) || cache->hasPieces(r.id, 1);
             }}};
}

ProfilePicker::ProfilePicker(ui::WindowContext& context, CatalogueHandOvers handOvers, QWidget* parent)
    : QDialog(parent), context_(context), listContext_(context), handOvers_(std::move(handOvers)),
      totals_(context.database)
{
    setObjectName(QStringLiteral("SelectProfile"));
    listContext_.iniFile.clear();
    openingBalanceWhenLogEmpty(context_);
    reportTotalsFailures(totals_, context_, this);

    totals_.setStatuses({0, 1});
    profiles_ = new ProfileList(listContext_, context_, totals_, false, QStringLiteral("SelectProfileList"),
                                {QT_TRANSLATE_NOOP("ProfileCatalogue", "Aktywne"),
                                 QT_TRANSLATE_NOOP("ProfileCatalogue", "Wszystkie"),
                                 QT_TRANSLATE_NOOP("ProfileCatalogue", "Do Produkcji")},
                                pickerProfileRanges(totals_), this);
    profiles_->beforeTab = [this](int) { totals_.forget(); };
    ui::TableBrowse<ProfileLengthRecord>::Form lengthForm;
    if (handOvers_.lengthForm)
        lengthForm = [this](ui::FormRequest request, ProfileLengthRecord& length, QWidget* over) {
            return handOvers_.lengthForm(request, length, lengths_->profileId(), over);
        };
    lengths_ = new LengthList(listContext_, &noTags_, lengthForm, this);
    profiles_->button(QStringLiteral("CLOSE"))->hide();
    lengths_->button(QStringLiteral("CLOSE"))->hide();

    const auto make = [this](const char* name, std::function<void()> action) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, std::move(action));
        buttons_ << b;
        return b;
    };
    profiles_->addButton(make("LOG_PROF", [this] {
        if (const ProfileRecord* p = profiles_->current(); p && handOvers_.stockLog)
            handOvers_.stockLog(p->id, 0, this);
    }));
    lengths_->addButton(make("BLOCK", [this] {
        if (const ProfileLengthRecord* l = lengths_->current()) {
            ProfileLengthRecord length = *l;
            toggleLengthBlock(context_.database, context_.services, length, noTags_);
            lengths_->refresh();
        }
    }));
    lengths_->addButton(make("LOG_LENGHT", [this] {
        if (const ProfileLengthRecord* l = lengths_->current(); l && handOvers_.stockLog)
            handOvers_.stockLog(l->profileId, l->lenght, this);
    }));

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("REGION1"));
    splitter_->addWidget(profiles_);
    splitter_->addWidget(lengths_);
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 2);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(make("SELECT", [this] { selectHighlighted(); }));
    row->addWidget(make("CLOSE", [this] { reject(); }));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter_, 1);
    layout->addLayout(row);

    connect(profiles_, &ui::BrowseWindow::currentRowChanged, this, [this] {
        const ProfileRecord* p = profiles_->current();
        lengths_->showProfile(p ? p->id : 0);
        updateButtons();
    });
    connect(lengths_, &ui::BrowseWindow::currentRowChanged, this, &ProfilePicker::updateButtons);
    const ProfileRecord* first = profiles_->current();
    lengths_->showProfile(first ? first->id : 0);
    retranslate();
    updateButtons();
    resize(820, 600);
    if (!context_.iniFile.isEmpty())
        layout::iniRestoreWindow(*this, QStringLiteral("SelectProfile"), context_.iniFile);
}

ProfilePicker::~ProfilePicker()
{
    // The lists work with this window's context and totals: they go first.
    delete splitter_;
}

QPushButton* ProfilePicker::button(const QString& objectName) const
{
    for (QPushButton* b : buttons_)
        if (b->objectName() == objectName)
            return b;
    return nullptr;
}

void ProfilePicker::selectHighlighted()
{
    const ProfileRecord* profile = profiles_->current();
    if (!profile)
        return;
    selected_ = profile->profileCode;
    accept();
}

void ProfilePicker::updateButtons()
{
    const bool profile = profiles_->current() != nullptr;
    button(QStringLiteral("SELECT"))->setEnabled(profile);
    button(QStringLiteral("LOG_PROF"))->setEnabled(profile && bool(handOvers_.stockLog));
    button(QStringLiteral("BLOCK"))->setEnabled(lengths_->current() != nullptr);
    button(QStringLiteral("LOG_LENGHT"))->setEnabled(lengths_->current() != nullptr && bool(handOvers_.stockLog));
}

void ProfilePicker::done(int result)
{
    if (!context_.iniFile.isEmpty())
        layout::iniSaveWindow(*this, QStringLiteral("SelectProfile"), context_.iniFile);
    QDialog::done(result);
}

void ProfilePicker::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void ProfilePicker::retranslate()
{
    setWindowTitle(tr("Wybór profila"));
    button(QStringLiteral("SELECT"))->setText(tr("&Wybierz"));
    button(QStringLiteral("SELECT"))->setToolTip(tr("Wybierz profil do zamówienia"));
    button(QStringLiteral("CLOSE"))->setText(tr("Zam&knij"));
    button(QStringLiteral("LOG_PROF"))->setText(tr("Kartoteka profila"));
    button(QStringLiteral("LOG_PROF"))->setToolTip(tr("Kartoteka wybranego profila"));
    button(QStringLiteral("BLOCK"))->setText(tr("Zablokuj"));
    button(QStringLiteral("BLOCK"))->setToolTip(tr("Zablokuj wskazaną długość - nie uwzględniaj w optymalizacji"));
    button(QStringLiteral("LOG_LENGHT"))->setText(tr("Kartoteka długości"));
    button(QStringLiteral("LOG_LENGHT"))->setToolTip(tr("Kartoteka dla wybranej długosci"));
}

ui::FormResponse selectProfile(ui::WindowContext& context, QString& code, QWidget* parent)
{
    ProfilePicker picker(context, stockWindows(context), parent);
    if (picker.exec() != QDialog::Accepted || picker.selectedCode().isEmpty())
        return ui::FormResponse::Cancelled;
    code = picker.selectedCode();
    return ui::FormResponse::Done;
}

} // namespace stock
