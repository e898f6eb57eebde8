#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

// One running program per user and data folder. The first start holds a lock file and
// listens on a local socket; a later start sends "activate", waits for the answer and ends.
// A lock left by a crashed run belongs to no live process and is taken over. Both live in a
// folder only the user may enter, so neither another TMPDIR nor another user can get round
// them or answer in the program's place.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    SingleInstance(const QString& name, const QString& dataRoot);

    // True when this process is the one that runs; false when a running one was asked to
    // come forward. Throws EModelError when neither works.
    bool Claim();

    // XDG_RUNTIME_DIR when it is the user's own and closed to others, else a folder of the
    // user's own cache made for it with mode 0700. Throws EModelError when neither is safe.
    static QString PrivateFolder();

  signals:
    void activateRequested();

  private:
    bool askRunningInstance() const;
    void answer();

    QString name_;
    QString dataRoot_;
    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};
