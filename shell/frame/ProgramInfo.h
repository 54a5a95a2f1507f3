#pragma once
// "O programie": the program's name, its author and how to reach him.

#include <QDialog>

class QLabel;
class QPushButton;

namespace shell {

class ProgramInfo : public QDialog {
    Q_OBJECT
public:
    // iniFile: Barmond.ini, where the window's place is kept under "ProgramInfo" (none when empty).
    explicit ProgramInfo(const QString& iniFile = {}, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;
    void done(int result) override;

private:
    void retranslate();

    QLabel* nameLine_ = nullptr;
    QLabel* authorLine_ = nullptr;
    QLabel* mailLine_ = nullptr;
    QLabel* phoneLine_ = nullptr;
    QPushButton* close_ = nullptr;
    QString iniFile_;
};

} // namespace shell
