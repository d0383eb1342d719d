#pragma once
// Installs the Qt implementations of the core's platform hooks (image
// decoding). Programs call it once after creating their QGuiApplication.
void InstallQtPlatform();
