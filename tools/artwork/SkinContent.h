#pragma once

class QPainter;

// The left part of the skin: the light band of the question title and the three text panels with their tabs.
namespace SkinContent {

void paintTitleBand(QPainter& painter);
void paintPanels(QPainter& painter);

} // namespace SkinContent
