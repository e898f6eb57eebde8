#pragma once

#include <QApplication>
#include <exception>

// The application object of the desktop program: an error that no command caught is shown
// in a message box and the program keeps running.
class TApplication : public QApplication {
    Q_OBJECT

  public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // What the user reads about error: the program's own message for its own errors, a
    // Japanese text of ours for any other, never an internal text such as "vector::at".
    static QString UncaughtErrorText(const std::exception_ptr& error);
};
