// The view camera: the projection, and each frame's view in one of four modes. Follow (0) circles
// the avatar at a short distance under its yaw and pitch, chase (1) looks along +Z from above and
// behind, free (2) flies on its own (I/J/K/L/U/O and the mouse), orbit (3) circles the avatar.
#pragma once

class Camera {
public:
    void init(double fovy, double width, double height, double zNear, double zFar, int mode);
    void setTarget(float x, float y, float z, float yaw, float pitch);
    void moveFree(bool forward, bool left, bool backward, bool right, bool up, bool down);
    // Multiplies the view transform onto the current (identity) model-view matrix.
    void look(float t);
    void cleanUp() {}

    int mode = 0;
    double fovy = 0, aspect = 0, zNear = 0, zFar = 0;
    float eye[3] = {0, 0, 0};
    float center[3] = {0, 0, 0};
    float pitch = 0, yaw = 0;
    float freePos[3] = {0, 0, 0};
    float freePolar = 0;    // angle of the view direction from straight down
    float freeAzimuth = 0;  // heading; 0 looks along -Z
    float target[3] = {0, 0, 0};

private:
    void lookAround(float heading);
};
