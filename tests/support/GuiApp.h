// Fonts need a GUI application; tests that paint text make one (offscreen without a display).
#pragma once

class QGuiApplication;

QGuiApplication* EnsureGuiApplication();
