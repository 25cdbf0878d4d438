#include "qtui/application.h"

#include <QApplication>
#include <QStyleFactory>

namespace qtui {

void setUpApplication() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

}  // namespace qtui
