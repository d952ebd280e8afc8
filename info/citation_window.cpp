#include "citation_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "citation_text.h"
#include "window_pictures.h"

namespace kelvorad {

CitationWindow::CitationWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("Form4");
    setWindowTitle("J o u r n a l");
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(16, 16, 16, 12);

    auto* heading = new QHBoxLayout;
    auto* magnetite = new QLabel(this);
    magnetite->setObjectName("Image1");
    magnetite->setPixmap(magnetiteCrystal(56));
    auto* title = new QLabel("Published in", this);
    title->setObjectName("Label2");
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* ilmenite = new QLabel(this);
    ilmenite->setObjectName("Image2");
    ilmenite->setPixmap(ilmeniteCrystal(56));
    heading->addWidget(ilmenite);
    heading->addWidget(title, 1, Qt::AlignCenter);
    heading->addWidget(magnetite);
    layout->addLayout(heading);

    // Plain text, so that "<" in a title could never be read as markup; selectable with the
    // mouse and the keyboard so that a user can copy the references.
    auto* text = new QLabel(QString::fromStdString(citationText()));
    text->setObjectName("Label1");
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setContentsMargins(10, 8, 10, 8);
    text->setBackgroundRole(QPalette::Base);
    text->setAutoFillBackground(true);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("Scroll1");
    scroll->setWidget(text);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    auto* close = new QPushButton("Close", this);
    close->setObjectName("Command1");
    close->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(760, 720);
}

}  // namespace kelvorad
