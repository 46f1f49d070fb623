#pragma once

#include <QDialog>

class QPushButton;

// The "About" box: the program icon, name and version, and an OK button. OK and Enter accept
// it; Escape and the close box reject it.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* owner = nullptr);

    QPushButton* OkButton() const { return okButton; }

private:
    QPushButton* okButton;
};
