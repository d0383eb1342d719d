#pragma once
// The survey geometry of a SEG-Y file: its trace headers read (m the
// inline, n the crossline, x and y the position, scaled by bytes 71-72)
// and given to KSurveyGeometryBuilder; and the outline written as a
// drawing.
#include <string>

#include "platform/base/result.h"
#include "platform/files/input_file.h"
#include "io/segy/segy_geometry.h"
#include "io/segy/segy_header_scan.h"
#include "io/segy/segy_layout.h"
#include "io/segy/segy_traces.h"

// Every trace that holds the four words and the scalar is read.
KResultWith<KSurveyGeometry> ReadSurveyGeometry(KInputFile& file, const KSegyLayout& layout, const KSegyFields& fields,
                                                KHeaderReads reads = KHeaderReads::kAuto);

// The outline as a drawing the drawing readers open: one polyline named
// "outline", closed for a 3D survey, the open track of a 2D line.
std::string SurveyOutlineText(const KSurveyGeometry& geometry);
