#pragma once
// "O programie": the program's name, its author and how to reach him.

#include <QDialog>

class QLabel;
class QPushButton;

namespace shell {

class ProgramInfo : public QDialog {
    Q_OBJECT
public:
    explicit ProgramInfo(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QLabel* nameLine_ = nullptr;
    QLabel* authorLine_ = nullptr;
    QLabel* mailLine_ = nullptr;
    QLabel* phoneLine_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace shell
