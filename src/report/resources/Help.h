#pragma once

#include <QtCore/QString>

namespace pgx {

// The help is a folder of HTML pages beside the program ("help/"), one
// page per topic.

// The topic page of a class that has one (17 classes; the class name
// compared without regard to case), else empty.
QString helpTopic(const QString &className);
// The help page to open for an object of that class: its topic under the
// help folder of `programFolder` (the program's folder when empty), or the
// help's first page.
QString helpLocation(const QString &className, const QString &programFolder = {});

}   // namespace pgx
