#include "qt_main_queue.h"

#include <QCoreApplication>
#include <QMetaObject>

void QtMainQueue::post(std::function<void()> block)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(block), Qt::QueuedConnection);
}
