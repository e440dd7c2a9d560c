// Pictures for the image tests of pixora-export, written as text rows as in
// the window tests: '.' 255, 'l' 170, 'd' 85, '#' 0, ' ' transparent, '1'
// to '9' grays 25 to 225.
#pragma once

#include <QImage>
#include <string>
#include <vector>

inline QImage PictureFromRows(const std::vector<std::string>& rows)
{
    QImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const char c = rows[y][x];
            const int gray = c == '.'                 ? 255
                             : c == 'l'               ? 170
                             : c == 'd'               ? 85
                             : (c >= '1' && c <= '9') ? (c - '0') * 25
                                                      : 0;
            image.setPixel(x, y, c == ' ' ? qRgba(0, 0, 0, 0) : qRgb(gray, gray, gray));
        }
    }
    return image;
}
