#pragma once

#include <QPicture>
#include <QSize>

// Plays a page as the preview does, at a quarter and at full size, onto a white image of the paper.
void PlayPage(const QPicture& page, const QSize& paper);
