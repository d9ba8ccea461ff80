#include "app/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tally {

AboutDialog::AboutDialog(const QString& dataFolder, const QString& programDataFolder,
                         QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("О программе"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    const QString text =
        QStringLiteral(
            "<h2>Tally</h2>"
            "<p>Калькулятор-документ, версия %1</p>"
            "<p>Одна строка документа — одно вычисление; Enter вычисляет строку под курсором "
            "и записывает результат в документ. Значения могут иметь единицы измерения.</p>"
            "<p>Программа распространяется разработчиками Tally. В ней используется "
            "библиотека Qt, распространяемая по лицензии GNU LGPL версии 3.</p>"
            "<p>Ваши документ и определения хранятся в папке:<br><tt>%2</tt></p>"
            "<p>Данные программы (введение, справка):<br><tt>%3</tt></p>"
            "<p><a href=\"help\">Открыть справку</a></p>")
            .arg(QStringLiteral(TALLY_VERSION),
                 QDir::toNativeSeparators(dataFolder).toHtmlEscaped(),
                 QDir::toNativeSeparators(programDataFolder).toHtmlEscaped());
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("lblAbout"));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    label->setMinimumWidth(380);
    connect(label, &QLabel::linkActivated, this, [this] {
        emit helpRequested();
        accept();
    });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* aboutQt = buttons->addButton(QStringLiteral("О Qt"), QDialogButtonBox::HelpRole);
    connect(aboutQt, &QPushButton::clicked, this, [] { QApplication::aboutQt(); });
    QPushButton* close =
        buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(label, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

}  // namespace tally
