#include "qt/application.h"

#include <QApplication>
#include <QStyleFactory>

namespace qt {

void setUpApplication() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

}  // namespace qt
