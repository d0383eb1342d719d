#pragma once
// The application painting needs (the render, net-render and segy --panel
// commands, the Python module): painting takes fonts and images, so a GUI
// application; without a display the offscreen platform serves.
#include <QGuiApplication>
#include <memory>

// Made once per command; also installs the Qt platform layer (picture
// decoding, fonts) the core draws through.
std::unique_ptr<QGuiApplication> MakePaintingApplication();

// For hosts that may or may not have an application of their own (a Python
// interpreter): makes one on the offscreen platform on the first call when none exists, and
// keeps it for the life of the process. Call it on the thread that is to
// own the application.
void EnsurePaintingApplication();
