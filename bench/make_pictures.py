# Thirty photo-like pictures of 2-3.3 MB for the page's benchmark: ten
# bitmaps, ten PNGs and ten JPEGs of gradients with noise.
#   make_pictures.py FOLDER
import sys
from PIL import Image
out = sys.argv[1]
def noisy(w, h, sigma):
    bands = [Image.effect_noise((w, h), sigma) for _ in range(3)]
    grad = Image.linear_gradient("L").resize((w, h))
    return Image.merge("RGB", [Image.blend(b, grad, 0.5) for b in bands])
for i in range(10):
    noisy(1100, 1000, 40 + i).save(f"{out}/bmp{i}.bmp")
    noisy(1000, 900, 60 + i).save(f"{out}/png{i}.png")
    noisy(1500, 1400, 70 + i).save(f"{out}/jpeg{i}.jpg", quality=97)
