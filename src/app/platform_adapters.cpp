#include "app/platform_adapters.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>

namespace tally {

void QtClipboard::setText(std::u16string_view text) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

void QtEventPump::begin() {
    m_cancelled = false;
    m_running = true;
    m_sinceLast.start();
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

void QtEventPump::end() {
    if (!m_running) return;
    m_running = false;
    QApplication::restoreOverrideCursor();
}

void QtEventPump::processEvents() {
    if (!m_sinceLast.isValid() || m_sinceLast.elapsed() < kIntervalMilliseconds) return;
    m_sinceLast.restart();
    QApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool QtEventPump::eventFilter(QObject* watched, QEvent* event) {
    bool escape = event->type() == QEvent::KeyPress &&
                  static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    if (escape) m_cancelled = true;
    if (!m_running) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::Drop:
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}

void LabelProgress::showEvaluationCount(int count) {
    if (m_label) m_label->setText(QString::number(count));
}

}  // namespace tally
