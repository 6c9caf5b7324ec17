#include "platform/guid.h"

#include <QUuid>

QString CreateGuidString() { return QUuid::createUuid().toString(QUuid::WithBraces).toUpper(); }
