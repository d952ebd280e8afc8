#include "about_window.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "program_info.h"
#include "window_building.h"
#include "window_pictures.h"

namespace kelvorad {

namespace {

QPushButton* makeButton(QWidget* owner, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), owner);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void scaleFont(QLabel& label, double factor, bool bold) {
    QFont font = label.font();
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    label.setFont(font);
}
}  // namespace

AboutWindow::AboutWindow(Shell& shell, std::function<void()> showCitation, QWidget* parent)
    : QDialog(parent), shell_(shell) {
    setObjectName("Form8");
    setWindowTitle("A b o u t");
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->setContentsMargins(18, 18, 18, 14);

    auto* heading = new QHBoxLayout;
    QLabel* ilmenite = makeLabel(this, "Image2", {});
    ilmenite->setPixmap(ilmeniteCrystal(88));
    QLabel* magnetite = makeLabel(this, "Image1", {});
    magnetite->setPixmap(magnetiteCrystal(88));
    auto* titles = new QVBoxLayout;
    QLabel* name = makeLabel(this, "Label1", q(kProgramTitle));
    scaleFont(*name, 2.4, true);
    QLabel* version = makeLabel(this, "Label2", "Version " + q(programVersion()));
    scaleFont(*version, 1.15, false);
    if (!buildRevision().empty()) version->setToolTip("Built from " + q(buildRevision()));
    for (QLabel* label : {name, version}) {
        label->setAlignment(Qt::AlignCenter);
        titles->addWidget(label);
    }
    heading->addWidget(ilmenite);
    heading->addLayout(titles, 1);
    heading->addWidget(magnetite);
    layout->addLayout(heading);

    QLabel* purpose = makeLabel(
        this, "Label3",
        "A desktop program for magnetite–ilmenite geothermometry and oxygen barometry.\n\n"
        "From microprobe analyses of coexisting titanomagnetite and ilmenite it recalculates "
        "structural formulae with ferric-iron estimation, computes end-member fractions, "
        "estimates temperature and oxygen fugacity with the published calibrations, tests each "
        "pair for equilibrium and sends the results to a workbook and to graphs.\n\n"
        "Published in lists the references to cite.");
    purpose->setWordWrap(true);
    layout->addWidget(purpose);

    QLabel* authors = makeLabel(
        this, "Label4",
        QString("© %1 The Kelvorad authors  ·  %2").arg(kReleaseYear).arg(q(kAuthorAddress)));
    authors->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(authors);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    QPushButton* email = makeButton(this, "Command2", "E-mail");
    email->setToolTip("Send e-mail to author");
    QPushButton* publishedIn = makeButton(this, "Command3", "Published in");
    QPushButton* close = makeButton(this, "Command1", "Close");
    buttons->addWidget(email);
    buttons->addWidget(publishedIn);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(email, &QPushButton::clicked, this, &AboutWindow::sendEmail);
    connect(publishedIn, &QPushButton::clicked, this, [run = std::move(showCitation)] {
        if (run) run();
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(520, sizeHint().height());
}

// The date is today's at each press, in the system's short form; whether the shell found a
// mail program is not reported.
void AboutWindow::sendEmail() {
    const QString today = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    shell_.openDocument(authorMailto(kProgramTitle, today.toStdString()));
}

}  // namespace kelvorad
