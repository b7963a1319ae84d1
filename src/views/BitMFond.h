// Background pictures of the views: decoding a file into an image, fitting it to a window.
#pragma once

#include <QImage>
#include <string>

#include "model/Document.h"

// The file as the document names it: a relative name is looked for beside the document
// when it is not found from the current folder.
std::string CheminImageFond(const std::string& nom, const std::string& document);
// Decodes a picture file: JPEG, then Windows bitmap, then GIF, each tried on its own; the
// last that succeeds gives the image. False (image null, diagnostics entry written) when
// the file is missing or none decodes it.
bool ChargeImageFond(const std::string& chemin, QImage& image);
// The picture stretched to the size the fit mode gives for a w x h window; false (out
// untouched) when no such picture can be made.
bool EtireImageFond(const QImage& source, const TImageFondDoc& im, int w, int h, QImage& out);
