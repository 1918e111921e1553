#pragma once

class QPainter;

// The header band of the skin: sky gradient, emblems, title and the publisher's mark.
namespace SkinHeader {

void paintBand(QPainter& painter);
void paintTitle(QPainter& painter);
void paintPublisherMark(QPainter& painter);

} // namespace SkinHeader
