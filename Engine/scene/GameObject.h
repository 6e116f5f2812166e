// Moth Lantern: the object class tree.
//
// Everything that lives in a level or on a screen is a GameObject owned by a
// World layer. StaticObject is a drawable quad (position, scale, texture,
// colours); ActiveObject adds a velocity. The World calls the four virtual
// operations in this slot order: destructor, Init, Update, Draw.
#pragma once
#include "TarnGraphics.h"
#include "TarnMath.h"

// ---- Colours and shared draw helpers ----------------------------------------

// Red, green, blue, alpha, each 0 to 1.
struct Color {
    float r;
    float g;
    float b;
    float a;
};

// World matrix = translation(position) x rotation(rotation) x scale(scale); a
// rotation of exactly 0 skips the rotation step.
void BuildTransform(TarnMtx33* out, const TarnVec2& scale, const TarnVec2& position,
                    float rotation);

// Draws a mesh with the given render state: textured when the texture is not
// null, otherwise a flat quad in the blend colour. A null mesh draws nothing.
void DrawQuad(const TarnMtx33& matrix, const Color& tint, const Color& blend, float transparency,
              int blendMode, TarnGfxTexture* texture, TarnGfxVertexList* mesh);

// The shared unit quad (mesh 0 of the asset manager), or null before assets exist.
TarnGfxVertexList* UnitQuadMesh();

// True when the axis-aligned box of this centre and full size lies wholly
// outside the view (the camera's window on the world): drawing it would
// colour no pixel, so the draws skip it.
bool IsOutsideView(const TarnVec2& centre, const TarnVec2& size);

// ---- Fatal checks -------------------------------------------------------------

// Prints the TARN_ASSERT report to standard output and ends the process with
// status 1. The line and file are the ones the report names, given by the caller.
[[noreturn]] void TarnAssertFail(const char* expression, int line, const char* function,
                                 const char* file);

#define TARN_ASSERT(condition, line, function, file)                                               \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            TarnAssertFail(#condition, line, function, file);                                      \
        }                                                                                          \
    } while (0)

// ---- The class tree -------------------------------------------------------------

class GameObject {
  public:
    virtual ~GameObject() = default;
    virtual void Init() = 0;
    virtual void Update() = 0;
    virtual void Draw() = 0;
};

class StaticObject : public GameObject {
  public:
    // All fields at their defaults; the creator adds it to a layer itself.
    StaticObject() = default;
    // Adds the object to a World layer and, on request, to the collision and
    // shadow registries.
    StaticObject(int layer, float x, float y, TarnGfxTexture* texture, bool collides,
                 bool castsShadow, float scaleX, float scaleY);

    // Additive textured quad at position and scale; rotation is ignored.
    void Draw() override;

    TarnVec2 GetPos() const { return position; }
    // Position setters stop the game on a non-finite coordinate.
    void SetPos(float x, float y);
    void SetPos(const TarnVec2& newPosition);
    void AddPos(float dx, float dy);

    TarnVec2 GetScale() const { return scale; }
    void SetScale(float x, float y) { scale = TarnVec2{x, y}; }
    float GetRotation() const { return rotation; }
    void SetRotation(float angle) { rotation = angle; }
    // Rotation towards the direction (x, y).
    void SetDirection(float x, float y);

    // The transparency is the tint colour's alpha.
    float GetTransparency() const { return tintColor.a; }
    void SetTransparency(float value) { tintColor.a = value; }
    void SetTintColor(float r, float g, float b, float a) { tintColor = Color{r, g, b, a}; }
    // The second argument lands in blue and the third in green; callers
    // throughout the game pass their colours in this order.
    void SetBlendColor(float red, float blue, float green, float alpha) {
        blendColor = Color{red, green, blue, alpha};
    }
    TarnGfxTexture* GetTexture() const { return texture; }
    void SetTexture(TarnGfxTexture* newTexture) { texture = newTexture; }

    TarnVec2 position{0.0f, 0.0f};            // centre, world units
    TarnVec2 scale{0.0f, 0.0f};               // full width and height of the quad
    float rotation = 0.0f;                    // radians
    TarnMtx33 transform{};                    // last world matrix built by a draw
    TarnGfxTexture* texture = nullptr;        // owned by the asset manager
    Color blendColor{1.0f, 1.0f, 1.0f, 0.0f}; // flat colour when untextured
    Color tintColor{1.0f, 1.0f, 1.0f, 0.0f};  // alpha doubles as transparency

  protected:
    // Sets the fields without registering anywhere.
    StaticObject(float x, float y, TarnGfxTexture* quadTexture, float scaleX, float scaleY);
    // Adds the finished object to the World and the requested registries. Called
    // from the most derived registering constructor, so registries see whether
    // the object moves.
    void AddToWorld(int layer, bool collides, bool castsShadow);
};

class ActiveObject : public StaticObject {
  public:
    ActiveObject() = default;
    ActiveObject(int layer, float x, float y, TarnGfxTexture* texture, bool collides,
                 bool castsShadow, float scaleX, float scaleY);

    TarnVec2 velocity{0.0f, 0.0f};
};
