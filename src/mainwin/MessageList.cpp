#include "MessageList.h"

namespace {

constexpr qsizetype ListedLines = 10;

}  // namespace

QString MessageList(const QStringList& lines) {
    QStringList shown = lines.mid(0, ListedLines);
    if (lines.size() > ListedLines) {
        shown << QStringLiteral("ほか%1件").arg(lines.size() - ListedLines);
    }
    return shown.join(QStringLiteral("\r\n"));
}
