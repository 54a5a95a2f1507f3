#include "shell/frame/ProgramInfo.h"

#include "shell/frame/Icons.h"
#include "ui/layout/WindowPlacement.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

ProgramInfo::ProgramInfo(const QString& iniFile, QWidget* parent) : QDialog(parent), iniFile_(iniFile)
{
    setObjectName(QStringLiteral("ProgramInfo"));
    setWindowIcon(programIcon());

    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(48, 48));
    nameLine_ = new QLabel(this);
    nameLine_->setObjectName(QStringLiteral("nameLine"));
    QFont bold = nameLine_->font();
    bold.setBold(true);
    nameLine_->setFont(bold);
    authorLine_ = new QLabel(this);
    authorLine_->setObjectName(QStringLiteral("authorLine"));
    mailLine_ = new QLabel(this);
    mailLine_->setObjectName(QStringLiteral("mailLine"));
    mailLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    phoneLine_ = new QLabel(this);
    phoneLine_->setObjectName(QStringLiteral("phoneLine"));
    phoneLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("CLOSE"));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* lines = new QVBoxLayout;
    lines->addWidget(nameLine_);
    lines->addSpacing(8);
    lines->addWidget(authorLine_);
    lines->addWidget(mailLine_);
    lines->addWidget(phoneLine_);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(lines, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    retranslate();
    if (!iniFile_.isEmpty())
        layout::iniRestoreWindow(*this, QStringLiteral("ProgramInfo"), iniFile_);
}

void ProgramInfo::done(int result)
{
    if (!iniFile_.isEmpty())
        layout::iniSaveWindow(*this, QStringLiteral("ProgramInfo"), iniFile_);
    QDialog::done(result);
}

void ProgramInfo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void ProgramInfo::retranslate()
{
    setWindowTitle(tr("O programie"));
    nameLine_->setText(tr("Barmond - program do optymalizacji rozkroju profili i prętów"));
    authorLine_->setText(tr("Autor: Zespół programistów Tervox"));
    mailLine_->setText(tr("E-mail: nie podano"));
    phoneLine_->setText(tr("Telefon: nie podano"));
    close_->setText(tr("&Zamknij"));
}

} // namespace shell
