#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

// Painters of the program's own images. Each returns a finished image with a transparent
// background where the design has none; make_artwork.cpp writes them into the assets.
namespace artwork {

/// The window and task-bar icon: a dark tile with an attitude ball.
QImage paintAppIcon(int size);
/// The mark in the window header: a gyroscope of two crossed rings on an accent tile.
QImage paintBrandMark(int size);

/// Names of the line icons of the navigation and the shell.
QStringList navIconNames();
/// One line icon drawn with strokes of the given colour on a transparent square.
QImage paintNavIcon(const QString& name, const QColor& stroke, int size);

/// Model ids that get a showcase image ("kt10" ... "kt80").
QStringList showcaseModels();
/// A stylised rendering of the unit of one model, as on the device cards.
QImage paintShowcase(const QString& modelId, int width, int height);

} // namespace artwork
