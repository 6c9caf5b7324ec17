#pragma once

#include <QImage>
#include <QStringView>

class QAbstractFileIconProvider;

// Icons of files, folders and drives for the renderer's "SSYS:" (small, 16 pixels) and
// "LSYS:" (large, 32 pixels) images.
//
// The name after the prefix is either a number, the index of a standard icon (0 computer,
// 1 desktop, 2 trash, 3 network, 4 drive, 5 folder, 6 file), or a path: an existing file
// or folder shows its own icon, anything else the icon of its file type, or the plain
// file icon when the type has none. A null image when there is no icon.
QImage HTMLSystemIcon(QStringView name, int size);

// Replaces the platform's icon provider (for tests); null returns to the platform's own.
// The provider is not owned.
void SetHTMLIconProvider(QAbstractFileIconProvider* provider);
