#pragma once

#include <QString>

#include <functional>

// The text of the exception of our family that the operation raises; empty when it raises none.
QString ErrorText(const std::function<void()>& operation);
