#pragma once

#include "TQRPrintable.h"

#include <QColor>
#include <QString>

#include <array>
#include <memory>
#include <vector>

enum class TQRBandType
{
    rbPageHeader,
    rbDetail,
    rbPageFooter
};

// A band of a report: a strip the width of the page, printed as a whole, holding controls that are
// drawn in their declared order. Size.Values hold its height and width in tenths of a millimetre.
class TQRBand
{
public:
    TQRBand(QString name, TQRBandType type, const std::array<double, 2>& sizeValues, const QColor& color);
    ~TQRBand();

    const QString& Name() const { return m_name; }
    TQRBandType BandType() const { return m_type; }
    double Height() const { return m_size[0]; }
    double Width() const { return m_size[1]; }
    const QColor& Color() const { return m_color; }

    template <class Control, class... Args>
    Control& Add(Args&&... args)
    {
        m_controls.push_back(std::make_unique<Control>(std::forward<Args>(args)...));
        return static_cast<Control&>(*m_controls.back());
    }

    const std::vector<std::unique_ptr<TQRPrintable>>& Controls() const { return m_controls; }
    TQRPrintable* Find(const QString& name) const;

    void Prepare(const ReportDataSet* dataSet);
    // Fills the band's rectangle with its colour and draws its controls.
    void Print(const TQRPrintContext& context);

private:
    QString m_name;
    TQRBandType m_type;
    std::array<double, 2> m_size;
    QColor m_color;
    std::vector<std::unique_ptr<TQRPrintable>> m_controls;
};
