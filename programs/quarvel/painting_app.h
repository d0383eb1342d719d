#pragma once
// The application the painting commands (render, net-render, segy --panel)
// need: painting takes fonts and images, so a GUI application; without a
// display the offscreen platform serves.
#include <QGuiApplication>
#include <memory>

// Made once per command; also installs the Qt platform layer (picture
// decoding, fonts) the core draws through.
std::unique_ptr<QGuiApplication> MakePaintingApplication();
