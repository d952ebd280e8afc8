#pragma once
// The citation window (Form4): how to cite the program and the published methods it
// implements, as selectable text a user can copy. It is never modal.

#include <QDialog>

namespace kelvorad {

class CitationWindow : public QDialog {
    Q_OBJECT
  public:
    explicit CitationWindow(QWidget* parent = nullptr);
};

}  // namespace kelvorad
