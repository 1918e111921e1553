#pragma once

// Creates the one offscreen QGuiApplication the text and picture classes need, on the first call.
void EnsureGuiApplication();
