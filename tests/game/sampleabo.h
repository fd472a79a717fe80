#ifndef TESTS_GAME_SAMPLEABO_H
#define TESTS_GAME_SAMPLEABO_H

#include "tnabo.h"
#include "tntexture.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

// A farmer-like animation set for the game-object tests, loaded through the
// engine's own animation loader: 32 x 32 frames, "Walk" in the four
// directions (three frames each) and "Die" facing east (two frames). The
// texture stays empty: these tests move and fade sprites, they do not draw.
class SampleABO {
public:
    SampleABO()
    {
        static int s_iCount = 0;
        m_strPath = "/tmp/grovekeep_sample_abo_" + std::to_string(getpid()) + "_" + std::to_string(++s_iCount) + ".txt";
        std::ofstream(m_strPath) << "Farmer ../Graphics/farmer.bmp 0 255 0 255\n"
                                    "32 32 2\n"
                                    "Walk 4\n"
                                    "  North 3 0 0\n  East 3 1 0\n  South 3 2 0\n  West 3 3 0\n"
                                    "Die 1\n"
                                    "  East 2 4 0\n";
        m_pkAnimations = m_kABO.CreateFromFile(m_strPath.c_str(), &m_kTexture);
    }
    ~SampleABO()
    {
        delete[] m_pkAnimations;
        std::remove(m_strPath.c_str());
    }
    SampleABO(const SampleABO&) = delete;
    SampleABO& operator=(const SampleABO&) = delete;

    tnABO& ABO() { return m_kABO; }
    bool Loaded() const { return m_pkAnimations != nullptr; }

private:
    std::string m_strPath;
    tnTexture m_kTexture;
    tnABO m_kABO;
    tnAnimation* m_pkAnimations = nullptr;
};

#endif
