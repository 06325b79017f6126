#include "app/HelpWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace calorant {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QString::fromLatin1(kTitle));
    resize(760, 640);

    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);

    auto* contents = new QPushButton(tr("Contents"), this);
    auto* back = new QPushButton(tr("Back"), this);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
}

void HelpWindow::showContents() {
    browser_->setSource(QUrl(QString::fromLatin1(kContentsPage)));
    show();
    raise();
    activateWindow();
}

} // namespace calorant
