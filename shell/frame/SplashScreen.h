#pragma once
// The splash window shown when the program starts: the logo "DB/Logo.jpg" (or the program's own
// picture when there is none), 400 pixels wide, its height in the image's proportion. It closes
// after one second, on a mouse click, or when the frame tells it to.

#include <QImage>
#include <QSize>
#include <QWidget>

class QLabel;

namespace shell {

class SplashScreen : public QWidget {
    Q_OBJECT
public:
    // iniFile: Barmond.ini, where the window's place is kept under "SplashScreen" (none when empty).
    explicit SplashScreen(const QString& logoFile, const QString& iniFile = {}, QWidget* parent = nullptr);

    // The window for an image of the given size: 400 wide, height = 400 × height / width
    // (400 × 400 when the width is below 1).
    static QSize windowSizeFor(const QSize& imageSize);
    // The picture shown when the logo file is missing or unreadable.
    static QImage defaultLogo();

    const QImage& image() const { return image_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QImage image_;
    QLabel* picture_ = nullptr;
    QString iniFile_;
};

} // namespace shell
