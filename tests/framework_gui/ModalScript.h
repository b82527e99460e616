#pragma once
// Answers a modal dialog from inside its event loop: polls until a modal widget
// of type T is up, then hands it to the answer (which must close it).

#include <QApplication>
#include <QTimer>
#include <functional>

template <typename T>
void AnswerNextModal(std::function<void(T&)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(*dialog);
        }
    });
    timer->start();
}
