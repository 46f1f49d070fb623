#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

// A menu as one line: entries joined by "|", a popup's entries in brackets (when deep), "~"
// before a greyed entry, "*" after a checked one, "-" for a separator.
inline QString MenuText(const QMenu* menu, bool deep = true) {
    QStringList entries;
    for (const QAction* a : menu->actions()) {
        const QString popup = a->menu() && deep ? "[" + MenuText(a->menu()) + "]" : "";
        entries << (a->isSeparator() ? "-"
                                     : (a->isEnabled() ? "" : "~") + a->text() +
                                           (a->isChecked() ? "*" : "") + popup);
    }
    return entries.join("|");
}
