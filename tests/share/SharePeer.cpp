// A copy of the program on one PC of a shop, for the tests of a shared data folder.
//   share-peer hold ROOT                          takes the write lock and keeps it until killed
//   share-peer soak ROOT TAG ITERATIONS SEED LOG  edits the customer master as a window would
// The soak starts when a line arrives on stdin, so that two peers run at the same time. Each
// round adds a customer, edits one of the peer's own customers and one of three customers
// both peers edit, and saves, keeping the other copy's version where both changed a customer.
// LOG gets one line per fact the test checks against the final file; "LOST" marks an edit
// that vanished without being reported.
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <cstdio>
#include <iostream>
#include <string>

#include "DataLock.h"
#include "TThCustomerObjectList.h"

namespace {

TThCustomerObject* find(TThCustomerObjectList& list, const QString& code) {
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Items(i).CusCode == code) {
            return &list.Items(i);
        }
    }
    return nullptr;
}

int soak(const QString& root, const QString& tag, int iterations, quint32 seed,
         const QString& logPath) {
    const QString path = root + QStringLiteral("/Customer.dat");
    TThCustomerObjectList list;
    list.LoadFromFile(path);
    QFile logFile(logPath);
    if (!logFile.open(QIODevice::WriteOnly)) {
        return 3;
    }
    QTextStream log(&logFile);
    std::cout << "ready" << std::endl;
    std::string go;
    std::getline(std::cin, go);

    QRandomGenerator random(seed);
    for (int i = 0; i < iterations; ++i) {
        // A pause between edits, as a person makes one: a copy that saves again at once
        // would take the lock back before the other copy's wait ends.
        ::usleep(static_cast<useconds_t>(random.bounded(1000, 12000)));
        if (random.bounded(3) == 0) {
            list.ReloadIfChanged(path);  // the window came to the front again
        }
        const QString value = tag + QString::number(i);
        TThCustomerObject added;
        added.CusCode = QStringLiteral("N-") + value;
        added.Name1 = value;
        list.Add(std::make_unique<TThCustomerObject>(added));
        const QString own = QStringLiteral("P-%1-%2").arg(tag).arg(random.bounded(4));
        find(list, own)->Name2 = value;
        const QString shared = QStringLiteral("S-%1").arg(random.bounded(3));
        const QString token = u'[' + value + u']';
        find(list, shared)->Name3 += token;

        QStringList conflicts;
        list.SaveToFile(path, [&](const QList<MergeConflict>& found,
                                  const std::optional<SharedSave::LastWrite>&) {
            for (const MergeConflict& conflict : found) {
                conflicts << conflict.Subject;
            }
            return false;
        });
        const bool sharedKept = find(list, shared)->Name3.contains(token);
        const bool reported = conflicts.join(u'\n').contains(shared);
        log << (sharedKept ? "ok "
                : reported ? "conflict "
                           : "LOST ")
            << shared << ' ' << token << '\n';
        log << (find(list, own) && find(list, own)->Name2 == value ? "own " : "LOST ") << own << ' '
            << value << '\n';
        log << (find(list, added.CusCode) ? "added " : "LOST ") << added.CusCode << '\n';
        for (const QString& subject : conflicts) {
            if (!subject.contains(QStringLiteral("S-"))) {
                log << "STRAY " << subject << '\n';
            }
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("hold")) {
        const DataLock lock(arguments.at(2), DataLock::WriteName);
        std::cout << "held" << std::endl;
        for (;;) {
            ::pause();
        }
    }
    if (arguments.size() == 7 && arguments.at(1) == QLatin1String("soak")) {
        try {
            return soak(arguments.at(2), arguments.at(3), arguments.at(4).toInt(),
                        arguments.at(5).toUInt(), arguments.at(6));
        } catch (const EModelError& error) {
            std::cerr << error.message().toStdString() << std::endl;
            return 1;
        }
    }
    std::cerr << "share-peer hold ROOT | soak ROOT TAG ITERATIONS SEED LOG" << std::endl;
    return 2;
}
