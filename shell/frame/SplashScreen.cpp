#include "shell/frame/SplashScreen.h"

#include <QFont>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include "ui/layout/WindowPlacement.h"

namespace shell {

namespace {
constexpr int SplashWidth = 400;
constexpr int SplashLifeMs = 1000;
}

SplashScreen::SplashScreen(const QString& logoFile, const QString& iniFile, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), iniFile_(iniFile)
{
    setObjectName(QStringLiteral("SplashScreen"));
    setAttribute(Qt::WA_DeleteOnClose);
    if (!logoFile.isEmpty())
        image_.load(logoFile);
    if (image_.isNull())
        image_ = defaultLogo();

    const QSize size = windowSizeFor(image_.size());
    setFixedSize(size);
    picture_ = new QLabel(this);
    picture_->setGeometry(1, 1, size.width() - 2, size.height() - 2);
    picture_->setScaledContents(true);
    picture_->setPixmap(QPixmap::fromImage(image_));
    setStyleSheet(QStringLiteral("background: #28405a;"));

    if (parent) {   // centred on the frame
        const QPoint centre = parent->geometry().center();
        move(centre - QPoint(size.width() / 2, size.height() / 2));
    }
    if (!iniFile_.isEmpty())
        layout::iniRestoreWindow(*this, QStringLiteral("SplashScreen"), iniFile_);
    QTimer::singleShot(SplashLifeMs, this, &QWidget::close);
}

QSize SplashScreen::windowSizeFor(const QSize& imageSize)
{
    const double ratio = imageSize.width() < 1 ? 1.0 : double(imageSize.height()) / imageSize.width();
    return QSize(SplashWidth, int(ratio * SplashWidth));
}

QImage SplashScreen::defaultLogo()
{
    QImage image(800, 360, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, 360);
    background.setColorAt(0, QColor(60, 90, 130));
    background.setColorAt(1, QColor(20, 35, 55));
    p.fillRect(image.rect(), background);

    // A bar cut into pieces.
    const QColor piece(185, 200, 220);
    const int pieces[] = {190, 150, 150, 110, 70};
    int x = 60;
    for (int w : pieces) {
        p.fillRect(QRect(x, 230, w, 40), piece);
        x += w + 12;
    }
    p.fillRect(QRect(x, 230, 740 - x, 40), QColor(120, 130, 140));

    p.setPen(Qt::white);
    QFont title(QStringLiteral("Sans"), 44, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(0, 40, 800, 90), Qt::AlignCenter, QStringLiteral("Barmond"));
    QFont subtitle(QStringLiteral("Sans"), 16);
    p.setFont(subtitle);
    p.drawText(QRect(0, 135, 800, 50), Qt::AlignCenter,
               QStringLiteral("Optymalizacja rozkroju profili i prętów"));
    return image;
}

void SplashScreen::closeEvent(QCloseEvent* event)
{
    if (!iniFile_.isEmpty())
        layout::iniSaveWindow(*this, QStringLiteral("SplashScreen"), iniFile_);
    QWidget::closeEvent(event);
}

void SplashScreen::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    close();
}

} // namespace shell
