#include <QGuiApplication>

#include "ApplicationEnvironment.h"

[[maybe_unused]] static testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new ApplicationEnvironment<QGuiApplication>);
