// Icons held as data, turned into Qt images and icons.
#pragma once

#include <QIcon>
#include <QImage>

#include "platform/ui/IconResource.h"

// One image of `icon` as an ARGB image; transparent pixels stay transparent.
QImage QtIconImage(const IconResource& icon, const IconImage& image);

// Both sizes of `icon`, so Qt picks the one that fits.
QIcon QtIconOf(const IconResource& icon);
