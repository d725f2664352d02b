#include "qt/qt_event_loop.h"

#include <QMetaObject>
#include <utility>

namespace koropika {

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) {
    clock_.start();
}

QtEventLoop::~QtEventLoop() = default;

EventLoop::TimerId QtEventLoop::startRepeating(int intervalMs, std::function<void()> tick) {
    auto* timer = new QTimer(context_.get());
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(intervalMs);
    QObject::connect(timer, &QTimer::timeout, timer, std::move(tick));
    timer->start();
    const TimerId id = nextId_++;
    timers_.emplace(id, timer);
    return id;
}

void QtEventLoop::stop(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) {
        return;
    }
    QTimer* timer = it->second;
    timers_.erase(it);
    // A tick handler often stops its own timer: the QTimer is still emitting, so it is only
    // stopped now and freed once control is back in the event loop.
    timer->stop();
    timer->deleteLater();
}

void QtEventLoop::post(std::function<void()> task) {
    QMetaObject::invokeMethod(context_.get(), std::move(task), Qt::QueuedConnection);
}

}  // namespace koropika
