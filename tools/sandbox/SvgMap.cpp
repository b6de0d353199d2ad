#include "SvgMap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sandbox {
namespace {

// Wide enough beside the map for labels that read outwards from the player.
constexpr double kWidth = 820;
constexpr double kHeight = 740;
constexpr double kCenterX = 410;
constexpr double kCenterY = 340;
constexpr double kMapRadius = 290;  // pixels from the player to the map's edge

constexpr const char* kPlayerColor = "#1f6fd1";
constexpr const char* kPedColor = "#333333";
constexpr const char* kIneligibleColor = "#8a8a8a";
constexpr const char* kTargetColor = "#d62828";
constexpr const char* kEngagedColor = "#e07b00";
constexpr const char* kGridColor = "#e4e4e4";

std::string Num(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string Distance(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// Labels get a white halo so they stay readable over the grid and the circle.
std::string Label(double x, double y, const std::string& text, const char* color,
                  const char* anchor = "start", const char* weight = "normal") {
  return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" fill=\"" + color + "\" text-anchor=\"" +
         anchor + "\" font-weight=\"" + weight +
         "\" stroke=\"white\" stroke-width=\"3\" paint-order=\"stroke\">" + text + "</text>\n";
}

std::string Circle(double x, double y, double r, const std::string& style) {
  return "<circle cx=\"" + Num(x) + "\" cy=\"" + Num(y) + "\" r=\"" + Num(r) + "\" " + style +
         "/>\n";
}

// A round grid step that gives about four lines from the player to the edge.
double GridStep(double viewRadius) {
  const double raw = viewRadius / 4;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= raw) return factor * power;
  }
  return 10 * power;
}

double HorizontalDistance(const sim::Vec3& a, const sim::Vec3& b) {
  return std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y);
}

double Distance3(const sim::Vec3& a, const sim::Vec3& b) {
  const double dx = static_cast<double>(a.x) - b.x;
  const double dy = static_cast<double>(a.y) - b.y;
  const double dz = static_cast<double>(a.z) - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

std::string Marker(const MapPed& ped, double x, double y) {
  if (!ped.listed) {
    return Circle(x, y, 6,
                  std::string("fill=\"white\" stroke=\"") + kIneligibleColor +
                      "\" stroke-width=\"2\" stroke-dasharray=\"3 2\"");
  }
  if (!ped.eligible) {
    return Circle(
        x, y, 6,
        std::string("fill=\"white\" stroke=\"") + kIneligibleColor + "\" stroke-width=\"2\"");
  }
  return Circle(x, y, 6, std::string("fill=\"") + kPedColor + "\"");
}

std::string EngagedMark(double x, double y) {
  return "<rect x=\"" + Num(x - 11) + "\" y=\"" + Num(y - 11) +
         "\" width=\"22\" height=\"22\" fill=\"none\" stroke=\"" + kEngagedColor +
         "\" stroke-width=\"2.5\"/>\n";
}

std::string TargetMark(double x, double y) {
  return Circle(x, y, 14,
                std::string("fill=\"none\" stroke=\"") + kTargetColor + "\" stroke-width=\"3\"");
}

std::string Legend(double gridStep) {
  std::string svg;
  const double x0 = kCenterX - 290;
  const double row1 = 678;
  const double row2 = 708;
  svg += Circle(x0, row1 - 4, 8, std::string("fill=\"") + kPlayerColor + "\"");
  svg += Label(x0 + 14, row1, "player", kPedColor);
  svg += Marker({0, {}, true, true, ""}, x0 + 90, row1 - 4);
  svg += Label(x0 + 102, row1, "ped it may fight", kPedColor);
  svg += Marker({0, {}, true, false, ""}, x0 + 240, row1 - 4);
  svg += Label(x0 + 252, row1, "ped it may not fight", kPedColor);
  svg += Marker({0, {}, false, false, ""}, x0 + 420, row1 - 4);
  svg += Label(x0 + 432, row1, "not listed by the game", kPedColor);
  svg += TargetMark(x0, row2 - 4);
  svg += Label(x0 + 20, row2, "target", kTargetColor);
  svg += EngagedMark(x0 + 90, row2 - 4);
  svg += Label(x0 + 108, row2, "engaged ped", kEngagedColor);
  svg += "<line x1=\"" + Num(x0 + 220) + "\" y1=\"" + Num(row2 - 4) + "\" x2=\"" + Num(x0 + 250) +
         "\" y2=\"" + Num(row2 - 4) + "\" stroke=\"" + kPlayerColor +
         "\" stroke-width=\"2\" stroke-dasharray=\"6 4\"/>\n";
  svg += Label(x0 + 258, row2, "MAX_DISTANCE", kPlayerColor);
  char grid[64];
  std::snprintf(grid, sizeof grid, "grid: %g units, y up", gridStep);
  svg += Label(x0 + 420, row2, grid, kPedColor);
  return svg;
}

constexpr double kLineHeight = 18;
constexpr std::size_t kMostUnplacedNamed = 10;

// The lines below the map that name the listed peds it cannot draw, from `top` down.
std::string UnplacedList(const std::vector<MapPed>& peds, double top) {
  std::string svg = Label(20, top, "listed, but no answer gave their positions:", kPedColor);
  for (std::size_t i = 0; i < peds.size() && i < kMostUnplacedNamed; ++i) {
    const MapPed& ped = peds[i];
    svg += Label(36, top + kLineHeight * static_cast<double>(i + 1),
                 "ped " + std::to_string(ped.handle) + ": " +
                     (ped.check.empty() ? std::string("eligible") : ped.check),
                 kIneligibleColor);
  }
  if (peds.size() > kMostUnplacedNamed) {
    svg += Label(36, top + kLineHeight * static_cast<double>(kMostUnplacedNamed + 1),
                 "and " + std::to_string(peds.size() - kMostUnplacedNamed) + " more",
                 kIneligibleColor);
  }
  return svg;
}

// How many lines UnplacedList takes.
double UnplacedLines(const std::vector<MapPed>& peds) {
  if (peds.empty()) return 0;
  return 1 + static_cast<double>(std::min(peds.size(), kMostUnplacedNamed + 1));
}

}  // namespace

std::string DrawMap(const MapView& view) {
  const bool radiusDrawable = std::isfinite(view.maxDistance) && view.maxDistance > 0;
  double farthest = 0;
  for (const MapPed& ped : view.peds) {
    farthest = std::max(farthest, HorizontalDistance(ped.position, view.playerPosition));
  }
  // The circle takes two thirds of the map; without one, the peds fill it.
  const double viewRadius =
      radiusDrawable ? 1.5 * view.maxDistance : std::max(farthest * 1.12, 1.0);
  const double scale = kMapRadius / viewRadius;
  const double step = GridStep(viewRadius);

  const double height = kHeight + kLineHeight * UnplacedLines(view.unplaced);
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(kWidth) +
                    "\" height=\"" + Num(height) + "\" viewBox=\"0 0 " + Num(kWidth) + " " +
                    Num(height) +
                    "\" font-family=\"DejaVu Sans, Arial, sans-serif\" "
                    "font-size=\"13\">\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";

  std::string title = "tick " + std::to_string(view.tick) + ": ";
  title += view.target != 0 ? "target ped " + std::to_string(view.target) : "no target";
  title += view.engaged != 0 ? ", engaged ped " + std::to_string(view.engaged) : ", no engaged ped";
  char radius[48];
  std::snprintf(radius, sizeof radius, ", MAX_DISTANCE %g", static_cast<double>(view.maxDistance));
  svg += Label(kCenterX, 26, title + radius, kPedColor, "middle", "bold");

  // The map square, its grid through the player, and the search radius.
  const double left = kCenterX - kMapRadius - 10;
  const double top = kCenterY - kMapRadius - 10;
  const double side = 2 * kMapRadius + 20;
  svg += "<clipPath id=\"map\"><rect x=\"" + Num(left) + "\" y=\"" + Num(top) + "\" width=\"" +
         Num(side) + "\" height=\"" + Num(side) + "\"/></clipPath>\n";
  svg +=
      "<g clip-path=\"url(#map)\" stroke=\"" + std::string(kGridColor) + "\" stroke-width=\"1\">\n";
  const int lines = static_cast<int>(std::ceil(viewRadius / step)) + 1;
  for (int i = -lines; i <= lines; ++i) {
    const double offset = i * step * scale;
    svg += "<line x1=\"" + Num(kCenterX + offset) + "\" y1=\"" + Num(top) + "\" x2=\"" +
           Num(kCenterX + offset) + "\" y2=\"" + Num(top + side) + "\"/>\n";
    svg += "<line x1=\"" + Num(left) + "\" y1=\"" + Num(kCenterY + offset) + "\" x2=\"" +
           Num(left + side) + "\" y2=\"" + Num(kCenterY + offset) + "\"/>\n";
  }
  svg += "</g>\n";
  svg += "<rect x=\"" + Num(left) + "\" y=\"" + Num(top) + "\" width=\"" + Num(side) +
         "\" height=\"" + Num(side) + "\" fill=\"none\" stroke=\"#bbbbbb\"/>\n";
  if (radiusDrawable) {
    const double r = view.maxDistance * scale;
    svg += Circle(kCenterX, kCenterY, r,
                  std::string("fill=\"") + kPlayerColor + "\" fill-opacity=\"0.05\" stroke=\"" +
                      kPlayerColor + "\" stroke-width=\"2\" stroke-dasharray=\"6 4\"");
    char text[48];
    std::snprintf(text, sizeof text, "MAX_DISTANCE %g", static_cast<double>(view.maxDistance));
    svg += Label(kCenterX, kCenterY - r - 6, text, kPlayerColor, "middle");
  }

  // Peds first, then all labels, so no marker hides a label.
  std::string labels;
  for (const MapPed& ped : view.peds) {
    double dx = (static_cast<double>(ped.position.x) - view.playerPosition.x) * scale;
    double dy = (static_cast<double>(ped.position.y) - view.playerPosition.y) * scale;
    const double away = std::hypot(dx, dy);
    // A ped beyond the edge is drawn on it, in its direction, and says so.
    const bool offMap = away > kMapRadius;
    if (offMap) {
      dx *= kMapRadius / away;
      dy *= kMapRadius / away;
    }
    const double x = kCenterX + dx;
    const double y = kCenterY - dy;
    svg += Marker(ped, x, y);
    if (ped.handle == view.engaged) svg += EngagedMark(x, y);
    if (ped.handle == view.target) svg += TargetMark(x, y);
    const std::string text = "ped " + std::to_string(ped.handle) + ", " +
                             Distance(Distance3(ped.position, view.playerPosition)) + " away" +
                             (ped.check.empty() ? "" : ", " + ped.check) +
                             (offMap ? " (off the map)" : "");
    // Labels read away from the player, so none crosses the middle, except near the map's
    // sides, where they turn inwards to stay on the picture.
    const bool leftwards = (dx < 0) != (std::fabs(dx) > 0.7 * kMapRadius);
    const double labelX = leftwards ? x - 16 : x + 16;
    const char* anchor = leftwards ? "end" : "start";
    labels += Label(labelX, y + 4, text, ped.eligible && ped.listed ? kPedColor : kIneligibleColor,
                    anchor);
    std::string role;
    if (ped.handle == view.target) role = "target";
    if (ped.handle == view.engaged) role += role.empty() ? "engaged" : ", engaged";
    if (!role.empty()) {
      labels += Label(labelX, y + 19, role,
                      ped.handle == view.target ? kTargetColor : kEngagedColor, anchor, "bold");
    }
  }
  svg += Circle(kCenterX, kCenterY, 9, std::string("fill=\"") + kPlayerColor + "\"");
  svg += labels;
  svg += Label(kCenterX, kCenterY + 26, "player " + std::to_string(view.player), kPlayerColor,
               "middle", "bold");
  svg += Legend(step);
  if (!view.unplaced.empty()) svg += UnplacedList(view.unplaced, kHeight - 4);
  svg += "</svg>\n";
  return svg;
}

}  // namespace sandbox
