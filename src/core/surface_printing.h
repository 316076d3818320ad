#pragma once

#include <QString>

#include <cstdint>

namespace brenlow {

// The printing group of the chart surface, beside ImageSurface: page composition draws its
// captions on the surface, marks the part of the picture the view shows, and prints it. The
// settings are written before each page and read back exactly as written.
//
// A page shows the print area of the picture with everything drawn on it (arrows, labels and
// captions as they lie on the picture, not a copy of the screen), at PrintZoom percent, from
// the top-left corner of the page's printable area. One print run is one print job: a page
// printed with ShowPrintDialog on offers the printer dialog and begins a job; pages printed
// with it off join the job that is open (or begin one on the printer last chosen); EndPrintJob
// ends the job when the run is over, and only then is the document complete.
class SurfacePrinting
{
public:
    virtual ~SurfacePrinting() = default;

    // The program writes 0 to both and expects the page to start at the printable area's
    // top-left corner.
    virtual double PrintOffsetX() const = 0;
    virtual void SetPrintOffsetX(double offset) = 0;
    virtual double PrintOffsetY() const = 0;
    virtual void SetPrintOffsetY(double offset) = 0;
    // Percent; 100 prints one picture pixel as one view pixel of the 96 dots-per-inch layout,
    // i.e. 1/96 inch. The program writes the view's Zoom, so the page matches the view.
    virtual double PrintZoom() const = 0;
    virtual void SetPrintZoom(double percent) = 0;
    virtual std::int32_t PrintCopies() const = 0;
    virtual void SetPrintCopies(std::int32_t copies) = 0;
    // The program prints at PrintZoom (PrintUseZoom on), the print area alone (PrintAreaOnly
    // on), unstretched (PrintStretch off) unless the user asks for the chart fitted to the page.
    virtual bool PrintUseZoom() const = 0;
    virtual void SetPrintUseZoom(bool useZoom) = 0;
    virtual bool PrintAreaOnly() const = 0;
    virtual void SetPrintAreaOnly(bool areaOnly) = 0;
    // PrintStretch on scales the print area to fill the page's printable area, keeping its
    // proportions, with the labels no smaller than a readable size on paper.
    virtual bool PrintStretch() const = 0;
    virtual void SetPrintStretch(bool stretch) = 0;
    virtual bool ShowPrintDialog() const = 0;
    virtual void SetShowPrintDialog(bool show) = 0;

    // Marks the rectangle of the picture to print, in picture pixels, without moving or cropping
    // the picture: what is drawn afterwards is still placed in picture pixels of the whole
    // picture.
    virtual void SetPrintArea(std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom) = 0;

    // Prints one page as described above. Returns false when the user cancelled the printer
    // dialog (nothing is printed); throws AppError when the printer cannot take the page, its
    // description saying why where the printer tells.
    virtual bool PrintImage() = 0;
    // Ends the open print job, if any: the document goes to the printer (or the file is
    // written). Throws AppError when the printer cannot finish it.
    virtual void EndPrintJob() = 0;

    // The size of the surface's view on the screen in view pixels: the print area of a page is
    // what the view shows.
    virtual std::int32_t ViewWidth() const = 0;
    virtual std::int32_t ViewHeight() const = 0;
};

// Beside the printing group: the page that PrintImage would print, as a picture file instead.
class PagePictures
{
public:
    virtual ~PagePictures() = default;
    // Writes the print area with everything drawn on it as a PNG file width pixels wide (the
    // height in the area's proportion), the symbols no smaller than the view shows them. The file
    // at path is replaced; the caller decides whether it may be. Throws AppError when the
    // file cannot be written, saying why.
    virtual void SavePagePicture(const QString &path, int width) = 0;
};

} // namespace brenlow
