#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPointF>
#include <QString>

// The text of a recorded page. Qt's picture engine records each run of text a layout draws as the
// run's characters, the point where it starts on the left and the direction it was laid out in, but
// plays every run back as a left-to-right paragraph, whatever its direction. A right-to-left run that
// ends in a colon, a full stop or a blank, or that holds brackets or quotes, then comes back with
// those on the wrong side, and the screen no longer shows what the printer gets.
namespace PictureText {

struct Run
{
    QPointF start;
    QString text;
    bool rightToLeft = false;
};

// The runs of a picture recorded by Qt's picture engine, in the order drawn.
QList<Run> Runs(QByteArrayView picture);

// The same picture with each run's direction written into its characters, as a directional override
// around them, so that Qt plays the run back exactly as it was laid out. Every other record is kept
// byte for byte. The picture is one this program recorded or one that passed PagePictureCheck.
QByteArray WithDirections(QByteArrayView picture);

} // namespace PictureText
