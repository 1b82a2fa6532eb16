#include "alerts.h"

#include <QMessageBox>
#include <QPushButton>

namespace VexaAlerts {

namespace {

QMessageBox *makeAlert(QWidget *parent, const std::string &title, const std::string &message)
{
    auto *box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box->setWindowTitle(QString::fromStdString(title));
    box->setText(QString::fromStdString(title));
    box->setInformativeText(QString::fromStdString(message));
    return box;
}

} // namespace

QMessageBox *showNotice(QWidget *parent, const std::string &title, const std::string &message,
                        std::function<void()> dismissed)
{
    QMessageBox *box = makeAlert(parent, title, message);
    box->setIcon(QMessageBox::Information);
    QPushButton *ok = box->addButton(QStringLiteral("OK"), QMessageBox::RejectRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    QObject::connect(box, &QMessageBox::finished,
                     [dismissed = std::move(dismissed)] { dismissed(); });
    box->show();
    return box;
}

QMessageBox *askConfirmation(QWidget *parent, const std::string &title, const std::string &message,
                             std::function<void(bool yes)> answered)
{
    QMessageBox *box = makeAlert(parent, title, message);
    box->setIcon(QMessageBox::Warning);
    QPushButton *yes = box->addButton(QStringLiteral("Yes"), QMessageBox::DestructiveRole);
    QPushButton *no = box->addButton(QStringLiteral("No"), QMessageBox::RejectRole);
    box->setDefaultButton(no);
    box->setEscapeButton(no);
    QObject::connect(box, &QMessageBox::finished, [box, yes, answered = std::move(answered)] {
        answered(box->clickedButton() == yes);
    });
    box->show();
    return box;
}

} // namespace VexaAlerts
