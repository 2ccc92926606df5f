// Images, buttons and hotspots on a plain screen, with the program's own bitmaps and sounds.
#include "tests/support/pixels.h"
#include "tests/support/swatch.h"
#include "toolkit/button.h"
#include "toolkit/hotspot.h"
#include "toolkit/image.h"
#include "toolkit/sounds.h"

namespace {

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr int kApple = 500;      // 43x60, drawn on the key colour
constexpr int kPrevArrow = 176;  // 120x45: released on the left, pressed on the right

bool SamePixels(const platform::Surface& a, const platform::Surface& b) {
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

class FigureKindsTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        screen = std::make_unique<PlainScreen>(window, kBackground);
    }
    void TearDown() override {
        screen.reset();
        HeadlessTest::TearDown();
    }
    // The figure joins the screen, which deletes it.
    template <typename F>
    F* Add(F* figure) {
        figure->AddListener(&recorder);
        screen->AddFigure(figure);
        return figure;
    }
    std::unique_ptr<PlainScreen> screen;
    Recorder recorder;
};

TEST_F(FigureKindsTest, AnImageShowsItsBitmapThroughTheKeyColour) {
    Image* image = Add(new Image(screen.get(), window, kApple));
    EXPECT_EQ(image->GetWidth(), 43);
    EXPECT_EQ(image->GetHeight(), 60);
    EXPECT_TRUE(image->visible);
    EXPECT_FALSE(image->enabled);
    EXPECT_EQ(image->GetLayer(), 10);
    EXPECT_STREQ(image->GetTypeName(), L"Image");

    image->SetX(100);
    image->SetY(50);
    ComposeOnWindow(*screen);
    platform::Surface picture = PixelsOf(image->GetSurface());
    int keyed = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 43; ++x) {
            COLORREF p = picture.At(x, y);
            keyed += p == KeyColour;
            ASSERT_EQ(WindowPixel(100 + x, 50 + y), p == KeyColour ? kBackground : p)
                << x << ',' << y;
        }
    EXPECT_GT(keyed, 0);
}

TEST_F(FigureKindsTest, AButtonShowsTheHalfOfItsState) {
    Button* button = Add(new Button(screen.get(), window, kPrevArrow));
    EXPECT_EQ(button->GetWidth(), 60);
    EXPECT_EQ(button->GetHeight(), 45);
    EXPECT_STREQ(button->GetTypeName(), L"Button");

    HBITMAP strip = LoadBitmapW(nullptr, MAKEINTRESOURCEW(kPrevArrow));
    platform::Surface released = Crop(PixelsOf(strip), 0, 0, 60, 45);
    platform::Surface pressed = Crop(PixelsOf(strip), 60, 0, 60, 45);
    DeleteObject(strip);
    ASSERT_FALSE(SamePixels(released, pressed));

    EXPECT_TRUE(SamePixels(PixelsOf(button->GetSurface()), released));
    button->enabled = true;
    screen->PointerDown(30, 20);
    EXPECT_TRUE(SamePixels(PixelsOf(button->GetSurface()), pressed));
    ComposeOnWindow(*screen);
    EXPECT_EQ(WindowPixel(70, 20), kBackground);  // only the half is drawn
}

TEST_F(FigureKindsTest, AButtonReportsThePressAtTouchAndTheReleaseAtLiftWherever) {
    Button* button = Add(new Button(screen.get(), window, kPrevArrow));
    button->SetX(20);
    button->SetY(100);
    button->enabled = true;

    screen->PointerUp(30, 110);  // never pressed: nothing to release
    EXPECT_TRUE(recorder.events.empty());

    screen->PointerDown(30, 110);
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_TRUE(recorder.events[0].press);
    EXPECT_TRUE(button->pressed);

    screen->PointerUp(200, 300);  // slid off the button before lifting
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_FALSE(recorder.events[1].press);
    EXPECT_EQ(recorder.events[1].figure, button);
    EXPECT_EQ(recorder.events[1].x, 200);
    EXPECT_FALSE(button->pressed);

    recorder.events.clear();
    screen->PointerDown(30, 110);
    screen->PointerDown(31, 111);
    screen->PointerUp(31, 111);
    screen->PointerUp(31, 111);
    ASSERT_EQ(recorder.events.size(), 3u);
    EXPECT_TRUE(recorder.events[0].press && recorder.events[1].press);
    EXPECT_FALSE(recorder.events[2].press);
}

TEST_F(FigureKindsTest, AButtonWhoseLiftWasMissedLetsGoOnTheTickWithoutAReport) {
    using Kind = platform::ScriptEvent::Kind;
    platform::HeadlessOptions options;
    options.script = {{0, Kind::Down, 5, 5, ""}, {50, Kind::Up, 5, 5, ""}};
    screen.reset();
    Restart(options);
    screen = std::make_unique<PlainScreen>(window, kBackground);
    Button* button = Add(new Button(screen.get(), window, kPrevArrow));
    button->enabled = true;

    backend->Poll();  // the stylus goes down
    screen->PointerDown(5, 5);
    recorder.events.clear();
    button->Tick(10);
    EXPECT_TRUE(button->pressed);  // still held

    backend->Advance(50);
    backend->Poll();  // lifted, but the screen never hears of it
    screen->dirty = RECT{-1, -1, -1, -1};
    button->Tick(60);
    EXPECT_FALSE(button->pressed);
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(screen->dirty.left, 0);  // the released look will be drawn
}

TEST_F(FigureKindsTest, AHotspotIsNeverDrawnAndTakesTheStylusOnlyWhenShown) {
    Hotspot::clickSound = nullptr;
    Hotspot* spot = Add(new Hotspot(screen.get(), window, 50, 40));
    ASSERT_NE(Hotspot::clickSound, nullptr);  // the first hotspot loads the click
    // Later hotspots share what is loaded and never load it again.
    HGLOBAL click = Hotspot::clickSound;
    Hotspot::clickSound = LoadWave(20003);
    Add(new Hotspot(screen.get(), window, 10, 10));
    EXPECT_EQ(Hotspot::clickSound, LoadWave(20003));
    Hotspot::clickSound = click;
    EXPECT_STREQ(spot->GetTypeName(), L"Hotspot");
    EXPECT_EQ(spot->GetSurface(), nullptr);
    EXPECT_EQ(spot->GetWidth(), 50);

    spot->SetX(60);
    spot->SetY(60);
    screen->PointerDown(80, 80);
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(log.str(), "");

    spot->SetVisible(true);
    ComposeOnWindow(*screen);
    for (int y = 60; y < 100; ++y)
        for (int x = 60; x < 110; ++x) ASSERT_EQ(WindowPixel(x, y), kBackground);
    screen->PointerDown(80, 80);
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].figure, spot);
    EXPECT_EQ(log.str(), "0 sound 20000\n");
}

}  // namespace
