<1.70>
C:\Music\Café.mp3|98|245|7

x.mp3
