#pragma once

class CMultiplierChart;
class QPainter;

// The layer of the calibration chart that shows what the controller
// collected: the petrol and gas load-map clouds (time across, manifold
// pressure up the right axis) and the live marker of the current injection
// time and manifold pressure.
class CLoadMapChart {
public:
    static void paintClouds(QPainter& painter, const CMultiplierChart& chart);
    static void paintLiveMarker(QPainter& painter, const CMultiplierChart& chart);
};
