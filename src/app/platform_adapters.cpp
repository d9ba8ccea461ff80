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
    m_sinceLast.start();
}

void QtEventPump::processEvents() {
    if (!m_sinceLast.isValid() || m_sinceLast.elapsed() < kIntervalMilliseconds) return;
    m_sinceLast.restart();
    QApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool QtEventPump::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_cancelled = true;
    }
    return QObject::eventFilter(watched, event);
}

void LabelProgress::showEvaluationCount(int count) {
    if (m_label) m_label->setText(QString::number(count));
}

}  // namespace tally
