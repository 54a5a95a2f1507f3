#include "settings/gui/ConversionWindow.h"

#include "ui/window/WindowContext.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace settings {

ConversionWindow::ConversionWindow(ui::WindowContext& context, QWidget* parent)
    : QDialog(parent), context_(context), conversion_(context.database, context.services.clock)
{
    setObjectName(QStringLiteral("ConversionWindow"));
    file_ = new QLabel(this);
    file_->setObjectName(QStringLiteral("fileLabel"));
    state_text_ = new QLabel(this);
    state_text_->setObjectName(QStringLiteral("stateLabel"));
    state_text_->setWordWrap(true);
    state_text_->setMinimumWidth(460);
    convert_ = new QPushButton(this);
    convert_->setObjectName(QStringLiteral("convertButton"));
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("closeButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(convert_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file_);
    layout->addWidget(state_text_, 1);
    layout->addLayout(buttons);
    connect(convert_, &QPushButton::clicked, this, &ConversionWindow::convert);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    retranslate();
    check();
}

void ConversionWindow::retranslate()
{
    setWindowTitle(tr("Konwersja struktur bazy danych"));
    convert_->setText(tr("Konwertuj"));
    close_->setText(tr("Zamknij"));
    file_->setText(tr("Plik bazy danych: %1").arg(QDir::toNativeSeparators(context_.database.filePath())));
}

void ConversionWindow::check()
{
    state_ = conversion_.check();
    switch (state_) {
    case DatabaseConversion::State::Current:
        state_text_->setText(conversion_.message());
        break;
    case DatabaseConversion::State::Convertible:
        state_text_->setText(QString(conversion_.question()).replace(QLatin1Char('|'), QLatin1Char('\n')));
        break;
    case DatabaseConversion::State::Refused:
        state_text_->setText(QString(conversion_.message()).replace(QLatin1Char('|'), QLatin1Char('\n')));
        break;
    }
    convert_->setEnabled(canConvert());
}

QString ConversionWindow::stateText() const
{
    return state_text_->text();
}

bool ConversionWindow::canConvert() const
{
    return state_ == DatabaseConversion::State::Convertible;
}

void ConversionWindow::convert()
{
    if (!canConvert())
        return;
    global::Progress& progress = context_.services.progress;
    progress.start(tr("Konwersja pliku"), 4);
    int stage = 0;
    conversion_.setStageCheck([&progress, &stage](const QString&) { return progress.advance(++stage); });
    const DatabaseConversion::Outcome outcome = conversion_.convert();
    progress.finish();
    state_ = outcome == DatabaseConversion::Outcome::Failed && context_.database.needsConversion()
                 ? DatabaseConversion::State::Convertible
                 : (outcome == DatabaseConversion::Outcome::Failed ? DatabaseConversion::State::Refused
                                                                   : DatabaseConversion::State::Current);
    state_text_->setText(QString(conversion_.message()).replace(QLatin1Char('|'), QLatin1Char('\n')));
    convert_->setEnabled(canConvert());
    context_.services.dialogs.message(conversion_.message(), windowTitle());
}

void convertDatabase(ui::WindowContext& context, QWidget* parent)
{
    ConversionWindow window(context, parent);
    window.exec();
}

} // namespace settings
