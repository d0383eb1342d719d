#pragma once
// An image stretched onto a world rectangle of a picture (net cells,
// seismic samples), unrotated.
#include "platform/device/kdevice.h"
#include "platform/device/kimage.h"
#include "render/view/kview_transform.h"

// Draws image with its top-left corner at world (x0, y1) and bottom-right
// at (x1, y0). Only the part inside the window reaches the device: a deep
// zoom never asks for a destination far larger than the device.
void DrawWorldImage(KDevice& device, const KViewTransform& view, const KImage& image, double x0, double y0,
                    double x1, double y1);
