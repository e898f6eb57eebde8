#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

// One running program per user. The first start holds a lock file and listens on a local
// socket; a later start sends "activate", waits for the answer and ends. A lock left by a
// crashed run belongs to no live process and is taken over.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    explicit SingleInstance(const QString& name);

    // True when this process is the one that runs; false when a running one was asked to
    // come forward. Throws EModelError when neither works.
    bool Claim();

  signals:
    void activateRequested();

  private:
    bool askRunningInstance() const;
    void answer();

    QString name_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};
