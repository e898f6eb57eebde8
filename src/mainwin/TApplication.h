#pragma once

#include <QApplication>

// The application object of the desktop program: an error that no command caught is shown
// in a message box and the program keeps running.
class TApplication : public QApplication {
    Q_OBJECT

  public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
